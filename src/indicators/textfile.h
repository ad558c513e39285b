#pragma once

#include <QByteArray>

// Reads a text file held in memory by the program's text-file rules: a line ends at LF or CR LF,
// a CR not followed by LF is dropped, byte 0x1A or the physical end ends the file, and reading
// past the end gives empty lines and the number 0.
class TextReader
{
public:
    explicit TextReader(const QByteArray &bytes);

    bool atEnd() const { return m_pos >= m_data.size(); }
    QByteArray readLine();
    // A data-file number: blanks (bytes up to 32) and line ends before it are skipped, the run
    // of other bytes must read as a number ("." as separator), then the rest of its line is
    // skipped. Throws IoError(InvalidNumericInput) for a run that is no number.
    double readNumber();
    // True when nothing but empty lines is left.
    bool onlyEmptyLinesLeft() const;

private:
    QByteArray m_data;
    qsizetype m_pos = 0;
    qsizetype m_contentEnd = 0; // just after the last byte that is not a line end
};

// Collects lines, each ended by CR LF.
class TextWriter
{
public:
    void writeLine(const QByteArray &line);
    const QByteArray &bytes() const { return m_data; }
    void reserve(qsizetype size) { m_data.reserve(size); }

private:
    QByteArray m_data;
};
