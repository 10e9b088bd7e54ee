#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>

class QLabel;
class QScrollBar;

// The graph area of the activity graph panel: a horizontal window onto the
// graph picture, zoomed horizontally from 1x (the picture's own scale) to 8x.
class GraphView : public QWidget
{
    Q_OBJECT

public:
    explicit GraphView(QWidget *parent = nullptr);
    ~GraphView() override;

    // The form places the picture label inside the view and the scroll bar
    // beside it; from here on the label shows the window and the scroll bar
    // follows and moves it.
    void attach(QLabel *picture, QScrollBar *scrollBar);

public slots:
    void zoomIn();
    void zoomOut();
    void scrollLeft();
    void scrollRight();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setZoom(int zoom);
    void setOffset(int offset);
    void paintWindow();
    void updateScrollBar();
    int visibleWidth() const;
    int maximumOffset() const;

    QPointer<QLabel> m_picture;
    QPointer<QScrollBar> m_scrollBar;
    QPixmap m_original;
    QPixmap m_zoomed;
    int m_zoom = 1;
    int m_offset = 0; // left edge of the window, in pixels of the zoomed picture
};
