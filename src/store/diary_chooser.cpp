#include "store/diary_chooser.h"

#include "foundation/file_services.h"
#include "foundation/folders.h"
#include "foundation/read_only.h"
#include "platform/clock.h"
#include "platform/path_resolver.h"
#include "runtime/format.h"
#include "runtime/strings.h"
#include "store/diary_title.h"

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace store {

int startAt = 0;

Öffnen::Öffnen(QWidget* parent) : platform::Form(parent)
{
    setObjectName(QStringLiteral("Öffnen"));
    setWindowTitle(QStringLiteral("Korvanel öffnen"));
    setBorderStyle(platform::borderFixedDialog);

    // Controls
    auto* rahmenName = new QGroupBox(QStringLiteral("Korvanelkürzel"), this);
    TxtName = new QLineEdit(rahmenName);
    TxtName->setObjectName(QStringLiteral("TxtName"));
    auto* rahmenListe = new QGroupBox(QStringLiteral("Vorhandene Korvanele"), this);
    ListeNamen = new QListWidget(rahmenListe);
    ListeNamen->setObjectName(QStringLiteral("ListeNamen"));
    Datei = new QListWidget(this);
    Datei->setObjectName(QStringLiteral("Datei"));
    Datei->hide();
    auto* rahmenStart = new QGroupBox(QStringLiteral("Wechsel zum "), this);
    for (int i = 0; i < 2; ++i) {
        optStartAt[i] = new QRadioButton(rahmenStart);
        optStartAt[i]->setObjectName(QStringLiteral("optStartAt(%1)").arg(i));
    }
    befOk = new QPushButton(QStringLiteral("&Ok"), this);
    befOk->setObjectName(QStringLiteral("befOk"));
    befOk->setDefault(true);
    befAbbrechen = new QPushButton(QStringLiteral("&Abbrechen"), this);
    befAbbrechen->setObjectName(QStringLiteral("befAbbrechen"));
    setCancelButton(befAbbrechen);
    Zeit = new QTimer(this);
    Zeit->setObjectName(QStringLiteral("Zeit"));
    // The name is also checked on every change of the field; the timer catches what no change
    // signal reports and need not spin.
    Zeit->setInterval(100);

    // Layout
    auto* nameLayout = new QVBoxLayout(rahmenName);
    nameLayout->addWidget(TxtName);
    auto* listeLayout = new QVBoxLayout(rahmenListe);
    listeLayout->addWidget(ListeNamen);
    auto* startLayout = new QVBoxLayout(rahmenStart);
    startLayout->addWidget(optStartAt[0]);
    startLayout->addWidget(optStartAt[1]);
    auto* links = new QVBoxLayout;
    links->addWidget(rahmenName);
    links->addWidget(rahmenStart);
    links->addStretch();
    links->addWidget(befOk);
    links->addWidget(befAbbrechen);
    auto* aussen = new QHBoxLayout(this);
    aussen->addLayout(links);
    aussen->addWidget(rahmenListe, 1);
    ListeNamen->setMinimumWidth(280);

    // Events
    connect(befOk, &QPushButton::clicked, this, &Öffnen::befOk_Click);
    connect(befAbbrechen, &QPushButton::clicked, this, &Öffnen::befAbbrechen_Click);
    connect(ListeNamen, &QListWidget::itemClicked, this, &Öffnen::ListeNamen_Click);
    connect(ListeNamen, &QListWidget::itemDoubleClicked, this, &Öffnen::ListeNamen_DblClick);
    for (int i = 0; i < 2; ++i)
        connect(optStartAt[i], &QRadioButton::clicked, this, [this, i] { optStartAt_Click(i); });
    connect(Zeit, &QTimer::timeout, this, &Öffnen::Zeit_Timer);
    connect(TxtName, &QLineEdit::textChanged, this, &Öffnen::Zeit_Timer);
    TxtName->installEventFilter(this);

    // Load
    setWindowIcon(QApplication::windowIcon());
    const QString heute = rt::Format(platform::clock().now(), QStringLiteral("dd.mm.yyyy"));
    optStartAt[0]->setText(heute);
    optStartAt[1]->setText(heute);
    optStartAt[startAt == 1 ? 1 : 0]->setChecked(true);
    listeFuellen();
    TxtName->setReadOnly(foundation::nurLesen);
    Zeit_Timer();
    Zeit->start();
}

void Öffnen::listeFuellen()
{
    ListeNamen->clear();
    Datei->clear();
    const QStringList dateien = platform::listFolder(foundation::ordnerDat, QStringLiteral("Info.*"));
    Datei->addItems(dateien);
    for (const QString& datei : dateien) {
        QString endung = foundation::PfadTeil(datei, 2);
        if (endung.isEmpty())
            continue;
        const QString kuerzel = kuerzelStandardform(rt::LCase(rt::Left(endung + rt::Space(4), 3)));
        // The title comes from the file found, whose extension may differ from the short name
        // (longer, or shorter and so padded with blanks).
        const QString titel = KorvanelTitelLesen(endung, titelNurLesen);
        ListeNamen->addItem(kuerzel + QStringLiteral(" \t") + titel);
    }
}

void Öffnen::befOk_Click()
{
    if (!kuerzelGueltig(TxtName->text()))
        return;
    hide();
}

void Öffnen::befAbbrechen_Click()
{
    TxtName->clear();
    hide();
}

void Öffnen::ListeNamen_Click()
{
    const QListWidgetItem* zeile = ListeNamen->currentItem();
    if (zeile != nullptr)
        TxtName->setText(rt::RTrim(rt::Left(zeile->text(), 3)));
}

void Öffnen::ListeNamen_DblClick()
{
    ListeNamen_Click();
    befOk_Click();
}

void Öffnen::optStartAt_Click(int index)
{
    startAt = index;
}

void Öffnen::Zeit_Timer()
{
    QString kandidat = rt::LCase(TxtName->text());
    if (kandidat.contains(u'\t')) {
        TxtName->clear();
        kandidat.clear();
    }
    befOk->setEnabled(kuerzelGueltig(kandidat));
}

QString Öffnen::gewaehlterName() const
{
    return TxtName->text();
}

QString Öffnen::gewaehltesDatum() const
{
    return optStartAt[0]->isChecked() ? optStartAt[0]->text() : optStartAt[1]->text();
}

void Öffnen::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    if (unloadMode != platform::UnloadMode::ControlMenu)
        return;
    cancel = true;
    befAbbrechen_Click();
}

bool Öffnen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TxtName && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, TxtName, &QLineEdit::selectAll);
    return platform::Form::eventFilter(watched, event);
}

void resetÖffnen()
{
    startAt = 0;
}

} // namespace store
