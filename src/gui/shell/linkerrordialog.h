#pragma once

#include "gui/ui/windowtexts.h"

#include <QDialog>

// Tells the operator that no base station answered (FrmError), with four lines of advice: OK to look
// into it and search again, or go on without a base station. When another program held ports of the
// range, the first two lines name them instead: switching the base station on would not help.
class LinkErrorDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LinkErrorDialog)

public:
    LinkErrorDialog(const TextCatalogue &catalogue, const QStringList &portsInUse, QWidget *parent = nullptr);

    bool goOnWithout() const { return m_goOnWithout; }
    void chooseGoOnWithout();

private:
    bool m_goOnWithout = false;
};
