#pragma once
// A temporary program folder holding a stand-in executable that records the
// arguments it is started with.
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

class StandInFolder {
public:
    // program: the file name the stand-in takes, e.g. "Korvane".
    explicit StandInFolder(const QString& program) : path_(dir_.path() + "/" + program)
    {
        QFile::copy(QStringLiteral(QUILLON_ARGV_RECORDER), path_);
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString Folder() const { return dir_.path(); }
    bool Started() const { return QFile::exists(RecordFile()); }
    void Forget() { QFile::remove(RecordFile()); }
    QStringList Arguments() const
    {
        QFile f(RecordFile());
        if (!f.open(QIODevice::ReadOnly)) return {};
        QStringList args;
        for (const QByteArray& a : f.readAll().split('\0')) args << QString::fromUtf8(a);
        args.removeLast();  // after the last terminator
        return args;
    }

private:
    QString RecordFile() const { return path_ + ".argv"; }
    QTemporaryDir dir_;
    QString path_;
};
