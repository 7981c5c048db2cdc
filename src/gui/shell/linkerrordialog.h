#pragma once

#include "gui/ui/windowtexts.h"

#include <QDialog>

// Tells the operator that no base station answered (FrmError), with four lines of advice: OK to look
// into it and search again, or go on without a base station.
class LinkErrorDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LinkErrorDialog)

public:
    explicit LinkErrorDialog(const TextCatalogue &catalogue, QWidget *parent = nullptr);

    bool goOnWithout() const { return m_goOnWithout; }
    void chooseGoOnWithout();

private:
    bool m_goOnWithout = false;
};
