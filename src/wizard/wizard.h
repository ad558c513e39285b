#pragma once

#include "wizardcursor.h"

#include <QDialog>
#include <QStringView>

class QFrame;
class QKeyEvent;
class QLabel;
class NoticeBalloon;
class QLineEdit;
class QPushButton;
class StandardBoxes;

// The data-entry wizard: walks the indicators one at a time and stores the number typed for
// each through the document. It opens on the indicator the model's cursor names (or the
// first one when the cursor names none); the main window refreshes its value column on
// refreshValues().
class TiDialog : public QDialog
{
    Q_OBJECT

public:
    // What "Ввести дані" shows instead of the wizard when the catalogue has no indicator.
    static constexpr QStringView NoIndicatorsWarning = u"У файлі конфігурації немає жодного показника!";

    TiDialog(IndicatorDocument &document, StandardBoxes &boxes, QWidget *parent = nullptr);

    // What "Ввести дані" does once the cursor is set: the wizard, modally, or the warning when
    // there is no indicator to enter.
    void enterData();

    // Why a key typed into the value edit was discarded.
    const NoticeBalloon &keyNotice() const { return *m_keyNotice; }

    // Closing the wizard in any way refreshes the main window first.
    void done(int result) override;

signals:
    void refreshValues();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowWizardItem();
    void fitTexts();
    void sButton1Click();
    void sButton2Click();
    void sButton3Click();
    // True when the key press is consumed: a refused character, or "." typed as ",".
    bool sEdit1KeyPress(const QKeyEvent &event);
    void showValue(const QString &text);
    void announceItem();
    void centreOnScreen();

    WizardCursor m_cursor;
    StandardBoxes &m_boxes;
    NoticeBalloon *m_keyNotice;
    // The section last announced, so that only a new one is said again.
    const razdel *m_announcedSection = nullptr;

    QLabel *Image1;
    QFrame *Bevel2;
    QLabel *Label1;
    QFrame *Bevel1;
    QLabel *Label2;
    QLineEdit *sEdit1;
    QLabel *Label3;
    QPushButton *sButton1;
    QPushButton *sButton2;
    QPushButton *sButton3;
};
