#pragma once

#include <QWidget>

#include <functional>

namespace pw {

class HarExercis;
class MParms;
class Ui;

// The paint box "pb": the staff of the exercise in hand, drawn from the scroll row on.
class TStaffBox : public QWidget
{
    Q_OBJECT
public:
    TStaffBox(HarExercis &exercise, MParms &parms, Ui &ui, QWidget *parent = nullptr);

    void setScrollRow(int row);
    int scrollRow() const { return m_scrollRow; }
    // Rows the last drawing produced, for the scroll bar.
    int drawnRows() const { return m_drawnRows; }
    // Only an exercise that loaded (Status >= 0) is drawn.
    void setShowExercise(bool show);

signals:
    // After every drawing of the exercise, with drawnRows() up to date.
    void painted();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    HarExercis &m_exercise;
    MParms &m_parms;
    Ui &m_ui;
    int m_scrollRow = 0;
    int m_drawnRows = 0;
    bool m_show = false;
};

} // namespace pw
