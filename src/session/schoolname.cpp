#include "schoolname.h"

#include "indicators/textfile.h"
#include "platform/files/fileio.h"

QByteArray readSchoolNameFile(const QString &path)
{
    return TextReader(readWholeFile(path)).readLine();
}

void writeSchoolNameFile(const QString &path, const QByteArray &name)
{
    TextWriter writer;
    writer.writeLine(name);
    writeFileAtomically(path, writer.bytes());
}
