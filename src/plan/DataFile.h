#pragma once

// Line-by-line reading (and writing) of a text file on behalf of a handler:
// DataFile opens the file and calls the handler, which pulls the lines with
// ReadLine (plan creation reads the wizard's answers this way).

#include <QString>
#include <QStringList>

class QIODevice;

namespace qv::plan {

class DataFile;

// The handler's side.
class iFile
{
public:
    virtual ~iFile() = default;
    // A name for the handler in messages; may be empty.
    virtual QString ClassDebugID() = 0;
    // Called once by DataFile::Read with the file open; read with ReadLine.
    virtual void ReadFileData(DataFile &file) = 0;
    // Called once by DataFile::Write; give the lines with WriteLine.
    virtual void WriteFileData(DataFile &file) = 0;
};

class DataFile
{
public:
    const QString &filePath() const { return m_filePath; }
    void setFilePath(const QString &path) { m_filePath = path; }
    iFile *handler() const { return m_handler; }
    void setHandler(iFile *handler) { m_handler = handler; }

    // Opens the file and hands it to the handler's ReadFileData. False, with
    // lastError(), when there is no handler or the file cannot be opened
    // (the handler is then not called).
    bool Read();
    // The same on an open device (the file's or any other).
    bool Read(QIODevice &device);

    // The next line without its line ending, or false at the end of the
    // file. A read error, or a line longer than kMaxLineLength, ends the
    // reading as the end of the file would (the reason is in lastError()).
    // Text is UTF-8; a line that is not valid UTF-8 is read as Latin-1.
    bool ReadLine(QString &line);

    // Collects the handler's lines (WriteFileData) and writes them, each
    // ended by a newline, atomically to filePath(). False, with lastError(),
    // when there is no handler or the write fails (the old file stays).
    bool Write();
    void WriteLine(const QString &line) { m_lines.append(line); }

    const QString &lastError() const { return m_lastError; }

    static constexpr qint64 kMaxLineLength = 1024 * 1024;

private:
    QString who() const;

    QString m_filePath;
    iFile *m_handler = nullptr;
    QIODevice *m_device = nullptr;
    QStringList m_lines;
    QString m_lastError;
};

} // namespace qv::plan
