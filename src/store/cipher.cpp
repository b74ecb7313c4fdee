#include "store/cipher.h"

#include "runtime/codec.h"
#include "store/store_state.h"

#include <QCryptographicHash>

#include <array>

namespace store {

const QString& verschluesseltMarke()
{
    static const QString marke = QStringLiteral("..Korvanel verschlüsselt ");
    return marke;
}

const QByteArray& verschluesseltMarkeBytes()
{
    static const QByteArray bytes = rt::toAnsi(verschluesseltMarke());
    return bytes;
}

void Encrypt2(QByteArray& text, const QByteArray& key)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    std::array<char, 8> blockIndex{};
    char* data = text.data();
    const qsizetype size = text.size();
    for (qsizetype start = 0; start < size; start += 32) {
        quint64 block = static_cast<quint64>(start / 32);
        for (char& byte : blockIndex) {
            byte = static_cast<char>(block & 0xFF);
            block >>= 8;
        }
        hash.reset();
        hash.addData(key);
        hash.addData(QByteArrayView(blockIndex.data(), blockIndex.size()));
        const QByteArrayView stream = hash.resultView();
        const qsizetype end = std::min(size, start + 32);
        for (qsizetype i = start; i < end; ++i)
            data[i] = static_cast<char>(data[i] ^ stream[i - start]);
    }
}

QByteArray verschluesselteForm(const QString& plain)
{
    QByteArray cipher = rt::encodeText(plain);
    Encrypt2(cipher, rt::toAnsi(schluessel));
    return verschluesseltMarkeBytes() + cipher;
}

std::optional<QString> verschluesselteFormLesen(const QByteArray& bytes)
{
    if (!bytes.startsWith(verschluesseltMarkeBytes()))
        return std::nullopt;
    QByteArray plain = bytes.mid(verschluesseltMarkeBytes().size());
    Encrypt2(plain, rt::toAnsi(schluessel));
    return rt::decodeText(plain);
}

} // namespace store
