#include "qttranslation.h"

#include <QCoreApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// The texts of Qt's command-line parser, which Qt's translation lacks in part and which a
// Windows build without Qt's translations would print in English.
class CommandLineTexts : public QTranslator
{
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        static const QHash<QByteArray, QString> texts{
            {"Usage: %1", QStringLiteral("Виклик: %1")},
            {"[options]", QStringLiteral("[опції]")},
            {"Options:", QStringLiteral("Опції:")},
            {"Arguments:", QStringLiteral("Аргументи:")},
            {"Unknown option '%1'.", QStringLiteral("Невідома опція «%1».")},
            {"Unknown options: %1.", QStringLiteral("Невідомі опції: %1.")},
            {"Missing value after '%1'.", QStringLiteral("Після «%1» немає значення.")},
            {"Unexpected value after '%1'.", QStringLiteral("Зайве значення після «%1».")},
        };
        if (qstrcmp(context, "QCommandLineParser") != 0)
            return QString();
        return texts.value(QByteArray(sourceText));
    }
};

} // namespace

bool installQtTranslation(QCoreApplication &app)
{
    auto *translator = new QTranslator(&app);
    const bool loaded = translator->load(QStringLiteral("qtbase_uk"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded)
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
    // Installed last, asked first.
    QCoreApplication::installTranslator(new CommandLineTexts(&app));
    return loaded;
}
