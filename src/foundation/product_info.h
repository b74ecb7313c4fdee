#pragma once
// Fixed facts of the product that several procedures show or use.
#include <QString>

namespace foundation {

// The program's title, as message boxes and window captions show it.
inline QString programmTitel() { return QStringLiteral("Korvanel"); }
// The name of the product family's program, as it appears in footers and reports.
inline QString produktName() { return QStringLiteral("Brisols-Korvanel"); }
// Where support e-mails go and where the product's web pages are.
inline QString supportAdresse() { return QStringLiteral("support@brisols-programme.example"); }
inline QString& webSeiteWert()
{
    static QString adresse = QStringLiteral("https://www.brisols-programme.example");
    return adresse;
}
inline QString webSeite() { return webSeiteWert(); }
// Tests point the program at a server of their own ("http://127.0.0.1:<port>"); "" puts the
// product's address back.
inline void setWebSeiteFuerTests(const QString& adresse)
{
    webSeiteWert() = adresse.isEmpty() ? QStringLiteral("https://www.brisols-programme.example")
                                       : adresse;
}

// The maker and the maker's address, one line; the about window puts the rights and the year in
// front and breaks it after the maker.
inline QString herstellerZeile()
{
    return QStringLiteral("Brisols-Programme, Lindenweg 12, 34567 Auendorf");
}
// The one-line note on the terms of use that the about window shows.
inline QString nutzungsHinweis()
{
    return QStringLiteral("Die Nutzung unterliegt den Allgemeinen Geschäftsbedingungen (AGB).");
}

} // namespace foundation
