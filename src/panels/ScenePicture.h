#pragma once

#include <QLabel>

#include <optional>

// The camera scene a panel shows, with the context menu that a right click
// opens on it. Keyboard users reach it with Tab and open the same menu with
// the menu key or Shift+F10; it draws a focus ring while it has the focus,
// and tells assistive technology that it has a popup.
class ScenePicture : public QLabel
{
    Q_OBJECT

public:
    explicit ScenePicture(QWidget *parent = nullptr);

    // Asks for the context menu as the menu key does: at the point where the
    // pointer last pressed on the picture, or at its centre.
    void requestContextMenu(Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QPoint menuPoint() const;

    // Where the pointer last pressed, as a share of the picture's width and
    // height, so that it stays on the same spot when the picture scales.
    std::optional<QPointF> m_pointed;
};
