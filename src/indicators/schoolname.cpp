#include "schoolname.h"

#include "fileio.h"
#include "textfile.h"

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
