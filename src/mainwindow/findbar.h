#pragma once

#include <QFrame>

class QLabel;
class QLineEdit;

// The find field over the grid: Enter asks for the next match (F3 and Shift+F3 are the window's),
// Escape closes it.
class FindBar : public QFrame
{
    Q_OBJECT

public:
    explicit FindBar(QWidget *parent = nullptr);

    QString query() const;
    // Shown and ready for typing, its text selected.
    void open();
    // "Не знайдено", or where the match stands among all ("2 з 5").
    void showOutcome(int match, int matches);

    QLineEdit *field() const { return m_field; }

signals:
    void findNext();
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_field;
    QLabel *m_outcome;
};
