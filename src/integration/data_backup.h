#pragma once
// The backup job of "&Datensicherung...": copies the program file, the data folder and the
// family's settings files into a folder the user names, through a shell script that runs beside
// the program (in a terminal window when there is one, else with its messages in a log file
// beside the backup), shows the backup when it is done and deletes itself.
//
//   integration::DatensicherungStarten({}, {});   // the menu entry
//
// The folder is asked for with the stored "DSOrdner" (placeholders kept, so "{jjjj-mm-tt}" makes
// a folder per day) and confirmed with the list of what is copied. Each source goes to the
// backup folder followed by its own full path ("/home/anna/Tagebuch" to
// "<backup>/home/anna/Tagebuch"); a repeated backup into the same folder copies only what is
// newer, unless the run before it did not finish, which the next run then completes in full.
// The job only ever reads the sources: a backup folder that lies inside one of them (links
// followed) or that would make a copy land on its own source is refused.
#include <QString>
#include <QStringList>

namespace integration {

// The menu entry calls it with two empty texts; a non-empty one is a further source (a file or
// a folder; placeholders are expanded).
void DatensicherungStarten(const QString& quelle1, const QString& quelle2);

// The file name of the job in the temporary folder.
QString datensicherungsJobName();

// What a backup copies, one entry per source: a folder (its whole content) or a file.
QStringList DatensicherungQuellen(const QString& quelle1, const QString& quelle2);

// The text of the job for these sources into ziel (LF line ends); jobPfad is where it lies.
QString DatensicherungsJob(const QStringList& quellen, const QString& ziel, const QString& jobPfad);

} // namespace integration
