#pragma once

#include "document/xml_access.h"
#include "staff/staff_drawing.h"

#include <QWidget>

#include <functional>
#include <vector>

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
    // The reasons of a faulty chord, shown as the tooltip of its labels.
    using Explainer = std::function<QString(int part, XmlNode analysisNote)>;
    void setExplainer(Explainer explain) { m_explain = std::move(explain); }
    // Another lesson's drawing in place of the staff (the note-naming drill); none for the staff.
    void setPainter(std::function<void(Canvas &)> painter)
    {
        m_painter = std::move(painter);
        update();
    }
    // Where the last drawing put the labels of faulty chords.
    const std::vector<LabelSpot> &labelSpots() const { return m_spots; }

signals:
    // After every drawing of the exercise, with drawnRows() up to date.
    void painted();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    HarExercis &m_exercise;
    MParms &m_parms;
    Ui &m_ui;
    int m_scrollRow = 0;
    int m_drawnRows = 0;
    bool m_show = false;
    std::vector<LabelSpot> m_spots;
    Explainer m_explain;
    std::function<void(Canvas &)> m_painter;
};

} // namespace pw
