#pragma once
// A balloon tooltip: an information icon, a bold title and a text in a
// rounded bubble whose stem points at a place on the screen.
#include <QWidget>

class QTimer;

class TBalloonTip : public QWidget {
    Q_OBJECT
public:
    TBalloonTip();
    void setContent(const QString& title, const QString& text);
    // Shown with the stem's tip at that screen point, below it (above when
    // there is no room below).
    void showAt(const QPoint& stem);
    // Shown for two seconds at most; hidden sooner when owner goes away,
    // hides or moves. Returns at once.
    void showFor(QWidget* owner, const QPoint& stem);
    QString title() const { return title_; }
    QString text() const { return text_; }
    QPoint stem() const { return stem_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QPainterPath outline() const;
    QString title_, text_;
    QPoint stem_;
    bool below_ = true;
    QTimer* watch_ = nullptr;  // follows the owner while shown
};

// The point a balloon of control points at: its top-left corner, moved by its
// width for side 1, by its height for side 2, by both for side 3; on the screen.
QPoint BalloonStem(const QWidget& control, int side);
