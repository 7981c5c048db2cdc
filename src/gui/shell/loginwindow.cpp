#include "gui/shell/loginwindow.h"

#include "core/shell/logincontroller.h"
#include "core/base/operatornotifier.h"
#include "gui/ui/picturebackground.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

LoginWindow::LoginWindow(LoginController &controller, OperatorNotifier &notifier,
                         const TextCatalogue &catalogue, const QString &photoFolder, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      m_controller(controller), m_notifier(notifier), m_texts(catalogue, QStringLiteral("FrmPass")),
      m_field(new QLineEdit(this))
{
    setObjectName(QStringLiteral("FrmPass"));
    setFixedSize(654, 435);
    setPictureBackground(this, photoFolder + QStringLiteral("/NeterBmp.bmp"));

    auto *prompt = new QLabel(m_texts.text(QStringLiteral("ClewPass")), this);
    prompt->setGeometry(166, 180, 320, 45);
    prompt->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    m_field->setGeometry(166, 220, 320, 45);
    m_field->setMaxLength(LoginController::MaxLength);
    m_field->setEchoMode(QLineEdit::Password);
    QFont big = m_field->font();
    big.setPointSize(16);
    m_field->setFont(big);

    auto *ok = new QPushButton(m_texts.text(QStringLiteral("BtnOK")), this);
    ok->setObjectName(QStringLiteral("BtnOK"));
    ok->setGeometry(196, 308, 110, 40);
    ok->setDefault(true);
    auto *exit = new QPushButton(m_texts.text(QStringLiteral("BtnExit")), this);
    exit->setObjectName(QStringLiteral("BtnExit"));
    exit->setGeometry(350, 308, 110, 40);

    m_texts.apply(this);
    connect(ok, &QPushButton::clicked, this, &LoginWindow::onOk);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    m_field->setFocus();
}

void LoginWindow::onOk()
{
    if (m_controller.accept(m_field->text())) {
        accept();
        return;
    }
    m_field->clear();
    m_notifier.information(OperatorText::catalogue(QStringLiteral("FrmPass"), QStringLiteral("clew")),
                           OperatorText::catalogue(QStringLiteral("FrmPass"), QStringLiteral("PassErr")));
    m_field->setFocus();
}
