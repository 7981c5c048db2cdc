#pragma once

#include <QComboBox>

// The one colour picker of the console: the sixteen colours of the colour list, each drawn as a swatch
// and carrying its stored value (0x00BBGGRR). Showing a stored colour selects its entry, or none when the
// list does not hold it; only the operator's pick is reported, so filling a window from its settings
// writes nothing back.
class ColourPicker final : public QComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ColourPicker)

public:
    explicit ColourPicker(QWidget *parent = nullptr);

    // The stored value to show; false, and no entry selected, when the list does not hold it.
    bool setColour(quint32 bgr);
    // The selected entry's value; none selected gives 0 (black), as a stored text that is not a number.
    quint32 colour() const;
    QColor currentColour() const;

signals:
    void colourPicked(quint32 bgr);
};
