#include "textfile.h"

#include "numbertext.h"
#include "core/errors.h"

#include <cstring>

TextReader::TextReader(const QByteArray &bytes)
    : m_data(bytes)
{
    const qsizetype eof = m_data.indexOf('\x1a');
    if (eof >= 0)
        m_data.truncate(eof);
    m_contentEnd = m_data.size();
    while (m_contentEnd > 0 && (m_data[m_contentEnd - 1] == '\r' || m_data[m_contentEnd - 1] == '\n'))
        --m_contentEnd;
}

QByteArray TextReader::readLine()
{
    if (atEnd())
        return {};
    qsizetype end = m_data.indexOf('\n', m_pos);
    const qsizetype next = end < 0 ? m_data.size() : end + 1;
    if (end < 0)
        end = m_data.size();
    QByteArray line = m_data.sliced(m_pos, end - m_pos);
    m_pos = next;
    // CR LF ends the lines of these files; a CR elsewhere is dropped as well.
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.contains('\r'))
        line.removeIf([](char c) { return c == '\r'; });
    return line;
}

double TextReader::readNumber()
{
    const qsizetype size = m_data.size();
    while (m_pos < size && static_cast<unsigned char>(m_data[m_pos]) <= ' ')
        ++m_pos;
    if (m_pos >= size)
        return 0;
    const qsizetype start = m_pos;
    while (m_pos < size && static_cast<unsigned char>(m_data[m_pos]) > ' ')
        ++m_pos;
    const QByteArrayView run(m_data.constData() + start, m_pos - start);
    // The rest of the number's line is skipped.
    const qsizetype lineEnd = m_data.indexOf('\n', m_pos);
    m_pos = lineEnd < 0 ? size : lineEnd + 1;

    double value = 0;
    if (!parseDataNumber(run, value))
        throw IoError(IoError::InvalidNumericInput);
    return value;
}

bool TextReader::onlyEmptyLinesLeft() const
{
    return m_pos >= m_contentEnd;
}

void TextWriter::writeLine(const QByteArray &line)
{
    m_data.append(line);
    m_data.append("\r\n", 2);
}
