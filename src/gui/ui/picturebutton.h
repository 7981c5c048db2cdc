#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A button drawn from pictures: <base>_normal.png, _hover.png, _pressed.png and _disabled.png from the
// installation's photo folder. A missing picture falls back to a plain tile, so a damaged installation
// still shows every button.
class PictureButton final : public QAbstractButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PictureButton)

public:
    PictureButton(const QString &photoFolder, const QString &baseName, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    const QPixmap &currentPicture() const;

    QPixmap m_normal;
    QPixmap m_hover;
    QPixmap m_pressed;
    QPixmap m_disabled;
    bool m_hovered = false;
};
