#pragma once

#include <QPushButton>

// A captioned button for the dark left column of the hub windows (conference, meeting management): the
// column's navy with a light caption, the artwork's teal when the pointer is over it. A disabled button
// stays readable but dim, since the hub disables the button of the page on show.
class HubButton final : public QPushButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HubButton)

public:
    explicit HubButton(QWidget *parent = nullptr);
};
