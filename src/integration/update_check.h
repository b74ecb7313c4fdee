#pragma once
// The window "VersionsPrüfung" (caption "Brisols-Korvanel im Internet / Updates"): the installed
// version against the newest one the product's web server announces in "versions_info.txt",
// with advice on a coloured background, the what's-new notes of the server's information page as
// plain text, and buttons that open the information page, the download page and the home page in
// the browser.
//
//   auto* fenster = new integration::VersionsPrüfung(main);
//   fenster->showModal();      // TimerInit fetches once it shows; "&Zurück" unloads it
//
// Nothing is ever downloaded to disk but the small version file, and nothing fetched is run:
// "In&stallation der neuesten Version" opens the download page, and the user installs by hand.
// The server is foundation::webSeite(); an address without a scheme gets "https://".
#include "platform/form.h"

#include <QColor>
#include <QString>

#include <array>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace integration {

class VersionsPrüfung : public platform::Form {
public:
    explicit VersionsPrüfung(QWidget* parent = nullptr);

    QPlainTextEdit* txtInfo1 = nullptr;
    QPlainTextEdit* txtInfo2 = nullptr;
    QLabel* bezFile = nullptr;
    std::array<QPushButton*, 3> befOk{}; // 0 information, 1 installation, 2 home page
    QPushButton* befAbbrechen = nullptr;
    QTimer* TimerInit = nullptr;

    void TimerInit_Timer();
    void befOk_Click(int index);
    void befAbbrechen_Click();

    // The number of a version text: its digits without the dots, 0 below 1990000000.
    static double Versionsnummer(const QString& text);
    struct Rat {
        QString text;
        QColor farbe;
    };
    // The advice for installed, newest and minimum version texts.
    static Rat Ratschlag(const QString& installiert, const QString& neueste, const QString& minimum);
    // The notes page as plain text from its marker on.
    static QString NotizenAufbereiten(const QString& html, const QString& marker);
    // The address as fetched or opened: with a scheme as given, without one with "https://".
    static QString mitSchema(const QString& adresse);

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void layOut();
    void connectHandlers();
    void Form_Load();
    // A key of the fetched version file; the default when there is none.
    QString versionsWert(const QString& section, const QString& key, const QString& vorgabe) const;
    void anhaengen(QPlainTextEdit* feld, const QString& text);

    bool laeuft_ = false;
};

} // namespace integration
