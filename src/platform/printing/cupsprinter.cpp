#include "platform/printing/cupsprinter.h"

#include <QDir>

#include <cups/cups.h>

namespace {

// The destinations CUPS knows, freed when done.
class Destinations
{
public:
    Destinations() : m_count(cupsGetDests2(CUPS_HTTP_DEFAULT, &m_dests)) {}
    ~Destinations() { cupsFreeDests(m_count, m_dests); }
    Destinations(const Destinations &) = delete;
    Destinations &operator=(const Destinations &) = delete;

    int count() const { return m_count; }
    const cups_dest_t &at(int i) const { return m_dests[i]; }
    cups_dest_t *find(const QString &name) const
    {
        const QByteArray queue = name.section(QLatin1Char('/'), 0, 0).toUtf8();
        const QByteArray instance = name.section(QLatin1Char('/'), 1).toUtf8();
        return cupsGetDest(queue.constData(), instance.isEmpty() ? nullptr : instance.constData(),
                           m_count, m_dests);
    }
    cups_dest_t *defaultDest() const { return cupsGetDest(nullptr, nullptr, m_count, m_dests); }

private:
    cups_dest_t *m_dests = nullptr;
    int m_count;
};

QString destName(const cups_dest_t &dest)
{
    QString name = QString::fromUtf8(dest.name);
    if (dest.instance)
        name += QLatin1Char('/') + QString::fromUtf8(dest.instance);
    return name;
}

} // namespace

QStringList SystemPrinter::printers() const
{
    const Destinations dests;
    QStringList names;
    for (int i = 0; i < dests.count(); ++i)
        names << destName(dests.at(i));
    return names;
}

int SystemPrinter::defaultPrinterIndex() const
{
    const Destinations dests;
    if (dests.count() == 0)
        return -1;
    const cups_dest_t *dest = dests.defaultDest();
    return dest ? int(dest - &dests.at(0)) : 0;
}

QString SystemPrinter::destination() const
{
    const QStringList names = printers();
    return names.value(printerIndex() >= 0 && printerIndex() < names.size() ? printerIndex()
                                                                           : defaultPrinterIndex());
}

QList<std::pair<QByteArray, QByteArray>> SystemPrinter::jobOptions(const PrinterSettings &settings)
{
    const QSizeF mm = pageLayout(settings).pageSize().size(QPageSize::Millimeter);
    const pwg_media_t *media = pwgMediaForSize(qRound(mm.width() * 100), qRound(mm.height() * 100));
    if (!media)
        throw PrintError(QStringLiteral("Принтер не знає розміру паперу %1 × %2 мм")
                             .arg(mm.width()).arg(mm.height()));
    const QByteArray orientation = settings.orientation == PaperOrientation::Landscape ? "4" : "3";
    return {{"media", QByteArray(media->pwg)}, {"orientation-requested", orientation}};
}

QIODevice *SystemPrinter::openOutput()
{
    m_destination = destination();
    if (m_destination.isEmpty())
        throw PrintError(QStringLiteral("Не встановлено жодного принтера"));
    m_file = std::make_unique<QTemporaryFile>(QDir::tempPath()
                                              + QStringLiteral("/zoris-job-XXXXXX.pdf"));
    if (m_file->open())
        m_output = std::make_unique<QSaveFile>(m_file->fileName());
    if (!m_output || !m_output->open(QIODevice::WriteOnly)) {
        const QString reason = m_output ? m_output->errorString() : m_file->errorString();
        m_output.reset();
        m_file.reset();
        throw PrintError(QStringLiteral("Не вдалося створити тимчасовий файл друку: %1").arg(reason));
    }
    return m_output.get();
}

void SystemPrinter::deliver()
{
    // The temporary file goes whatever happens: CUPS has copied it once it accepts the job.
    const std::unique_ptr<QTemporaryFile> file = std::move(m_file);
    const std::unique_ptr<QSaveFile> output = std::move(m_output);
    commitWhole(*output, QStringLiteral("Не вдалося записати тимчасовий файл друку"));

    const Destinations dests;
    const cups_dest_t *dest = dests.find(m_destination);
    if (!dest)
        throw PrintError(QStringLiteral("Принтер «%1» більше не встановлено").arg(m_destination));

    // The instance's own options first, then the paper and orientation of this job over them.
    cups_option_t *options = nullptr;
    int count = 0;
    for (int i = 0; i < dest->num_options; ++i)
        count = cupsAddOption(dest->options[i].name, dest->options[i].value, count, &options);
    for (const auto &[name, value] : jobOptions(settings()))
        count = cupsAddOption(name.constData(), value.constData(), count, &options);

    const QByteArray path = QFile::encodeName(file->fileName());
    const QByteArray jobTitle = title().toUtf8();
    const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, dest->name, path.constData(),
                                   jobTitle.constData(), count, options);
    cupsFreeOptions(count, options);
    if (job == 0)
        throw PrintError(QStringLiteral("Принтер «%1» не прийняв завдання: %2")
                             .arg(m_destination, QString::fromUtf8(cupsLastErrorString())));
}

void SystemPrinter::discard()
{
    if (m_output)
        m_output->cancelWriting();
    m_output.reset();
    m_file.reset();
}
