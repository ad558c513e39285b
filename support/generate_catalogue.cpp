// Writes a generated catalogue of N indicators: generate_catalogue N FILE
#include "generatedcatalogue.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: generate_catalogue N FILE\n");
        return 2;
    }
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(generatedCatalogue(std::atoi(argv[1]))) < 0) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
