#include "benchfixtures.h"

#include "generatedcatalogue.h"

#include "indicators/catalogfile.h"
#include "indicators/encoding.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QTest>

#include <algorithm>

namespace {

void writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(name));
}

class PaintWatch : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

} // namespace

double fastest(const std::vector<double> &times)
{
    return times.empty() ? 0 : *std::min_element(times.begin(), times.end());
}

IndicatorModel filledModel(int indicators)
{
    IndicatorModel model;
    readCatalog(generatedCatalogue(indicators), model);
    int k = 0;
    for (razdel &section : model.Catalog)
        for (pokazatel &item : section.Items)
            item.Value = ++k * 1.25;
    model.SchoolName = toCp1251(u"Загальноосвітня школа I-III ступенів № 1");
    return model;
}

WorkingFolder::WorkingFolder(int indicators, bool withRules)
{
    QDir::setCurrent(m_dir.path());
    const QByteArray catalogue = generatedCatalogue(indicators);
    writeFile(QStringLiteral("DEFAULT.lng"), catalogue);
    writeFile(QStringLiteral("school_name.dat"), toCp1251(u"Школа\r\n"));
    if (!withRules)
        return;
    IndicatorModel model;
    readCatalog(catalogue, model);
    QByteArrayList keys;
    for (const razdel &section : model.Catalog)
        for (const pokazatel &item : section.Items)
            keys.append(item.Key);
    QByteArray rules;
    for (qsizetype k = 0; k < keys.size(); ++k)
        rules += keys[k] + (k + 2 < keys.size() ? " = " + keys[k + 1] + " + " + keys[k + 2] : QByteArray(" >= 0")) + "\r\n";
    writeFile(QStringLiteral("DEFAULT.chk"), rules);
}

ShownMainWindow::ShownMainWindow(int indicators, bool withRules)
    : folder(indicators, withRules)
    , form(std::make_unique<TForm1>(document, boxes))
{
    form->setWindowState(Qt::WindowNoState);
    form->resize(1280, 1024);
    showUntilPainted(*form, *form->Grid1->viewport());
    form->activateWindow();
    if (!QTest::qWaitForWindowActive(form.get()))
        qFatal("the main window did not become active");
    QCoreApplication::processEvents();
}

void showUntilPainted(QWidget &window, QWidget &painted)
{
    PaintWatch watch;
    painted.installEventFilter(&watch);
    window.show();
    while (!watch.painted)
        QCoreApplication::processEvents();
    painted.removeEventFilter(&watch);
}
