#pragma once
// The time bar: a range from 0 to a maximum and a position, drawn as a filled share of its
// width. A maximum of 0 draws an empty bar (no limit chosen).

#include <QWidget>

namespace kivola {

class TimeBar : public QWidget {
    Q_OBJECT
public:
    explicit TimeBar(QWidget* parent = nullptr);

    int maximum() const { return m_maximum; }
    int value() const { return m_value; }
    void setMaximum(int maximum);
    // Clamped to 0..maximum.
    void setValue(int value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_maximum = 100;
    int m_value = 100;
};

} // namespace kivola
