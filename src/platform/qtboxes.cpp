#include "qtboxes.h"

#include "apptitle.h"
#include "core/errors.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QWidget *owner()
{
    return QApplication::activeWindow();
}

// button is the one returned by exec(); captions are set here so that no translation can
// change them.
QMessageBox::StandardButton ask(QMessageBox::Icon icon, const QString &caption, const QString &text,
                                QList<std::pair<QMessageBox::StandardButton, QString>> buttons)
{
    QMessageBox box(icon, caption, text, QMessageBox::NoButton, owner());
    for (const auto &[button, label] : buttons)
        box.addButton(button)->setText(label);
    box.setDefaultButton(buttons.front().first);
    return QMessageBox::StandardButton(box.exec());
}

// "description|pattern" as Qt writes a name filter.
QString qtFilter(const QString &filter)
{
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return filter;
    return filter.left(bar) + QStringLiteral(" (") + filter.mid(bar + 1).replace(QLatin1Char(';'), QLatin1Char(' '))
        + QLatin1Char(')');
}

QStringList runFileDialog(QFileDialog &dialog, const QString &filter, const QString &directory,
                          const QString &proposedName = QString())
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(qtFilter(filter));
    if (!directory.isEmpty())
        dialog.setDirectory(directory);
    // After the filter, which would take whatever follows a dot in the name for an extension
    // and replace it with its own.
    if (!proposedName.isEmpty())
        dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

std::optional<QString> firstFile(const QStringList &files)
{
    if (files.isEmpty())
        return std::nullopt;
    return files.front();
}

} // namespace

void QtBoxes::warning(const QString &text)
{
    ask(QMessageBox::Warning, QStringLiteral("Warning"), text, {{QMessageBox::Ok, QStringLiteral("OK")}});
}

void QtBoxes::information(const QString &text)
{
    ask(QMessageBox::Information, QStringLiteral("Information"), text, {{QMessageBox::Ok, QStringLiteral("OK")}});
}

bool QtBoxes::confirmYesNo(const QString &text)
{
    return ask(QMessageBox::Question, QStringLiteral("Confirm"), text,
               {{QMessageBox::Yes, QStringLiteral("&Yes")}, {QMessageBox::No, QStringLiteral("&No")}})
        == QMessageBox::Yes;
}

StandardBoxes::Answer QtBoxes::confirmYesNoCancel(const QString &text)
{
    switch (ask(QMessageBox::Question, QStringLiteral("Confirm"), text,
                {{QMessageBox::Yes, QStringLiteral("&Yes")},
                 {QMessageBox::No, QStringLiteral("&No")},
                 {QMessageBox::Cancel, QStringLiteral("Cancel")}})) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

bool QtBoxes::confirmOkCancel(const QString &text)
{
    return ask(QMessageBox::Question, QStringLiteral("Confirm"), text,
               {{QMessageBox::Ok, QStringLiteral("OK")}, {QMessageBox::Cancel, QStringLiteral("Cancel")}})
        == QMessageBox::Ok;
}

QString QtBoxes::inputBox(const QString &caption, const QString &prompt, const QString &proposed)
{
    QDialog dialog(owner());
    dialog.setWindowTitle(caption);
    auto *label = new QLabel(prompt, &dialog);
    label->setWordWrap(true);
    auto *edit = new QLineEdit(&dialog);
    edit->setMaxLength(255);
    edit->setText(proposed);
    edit->selectAll();
    edit->setMinimumWidth(300);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addWidget(buttons);
    label->setBuddy(edit);
    edit->setFocus();
    return dialog.exec() == QDialog::Accepted ? edit->text() : proposed;
}

std::optional<QString> QtBoxes::openFile(const QString &filter, const QString &directory, const QString &caption)
{
    QFileDialog dialog(owner(), caption);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A typed name of a missing file is let through: opening it tells the user.
    dialog.setFileMode(QFileDialog::AnyFile);
    return firstFile(runFileDialog(dialog, filter, directory));
}

QStringList QtBoxes::openFiles(const QString &filter, const QString &directory, const QString &caption)
{
    QFileDialog dialog(owner(), caption);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    return runFileDialog(dialog, filter, directory);
}

std::optional<QString> QtBoxes::saveFile(const QString &filter, const QString &directory,
                                         const QString &proposedName)
{
    QFileDialog dialog(owner());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The command itself asks before replacing a file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return firstFile(runFileDialog(dialog, filter, directory, proposedName));
}

void QtBoxes::errorBox(const QString &message)
{
    ask(QMessageBox::Critical, applicationTitle(), errorBoxText(message), {{QMessageBox::Ok, QStringLiteral("OK")}});
}

void QtBoxes::beep()
{
    QApplication::beep();
}
