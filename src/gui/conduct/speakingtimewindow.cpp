#include "gui/conduct/speakingtimewindow.h"

#include "core/conduct/speechcontroller.h"
#include "gui/ui/fieldfilter.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>

namespace {
const QColor EndingColour(200, 20, 20);

QTableWidget *list(QWidget *parent, const QStringList &headers, QRect place)
{
    auto *table = new QTableWidget(0, int(headers.size()), parent);
    table->setGeometry(place);
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setColumnWidth(0, 56);
    table->setColumnWidth(1, 130);
    return table;
}

QLabel *caption(QWidget *parent, const char *key, QRect place)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(key));
    label->setGeometry(place);
    return label;
}
} // namespace

SpeakingTimeWindow::SpeakingTimeWindow(SpeechController &controller, const TextCatalogue &catalogue,
                                       QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_controller(controller),
      m_texts(catalogue, QStringLiteral("FrmSpeak"))
{
    setObjectName(QStringLiteral("FrmSpeak"));
    setFixedSize(WindowSize);
    const QStringList headers =
        m_texts.texts({QStringLiteral("LstSpa1"), QStringLiteral("LstSpa2"), QStringLiteral("LstSpa3")});
    caption(this, "IDC_SPEAK_STATIC", QRect(8, 6, 200, 20));
    m_speaking = list(this, headers, QRect(8, 28, 284, 170));
    caption(this, "IDC_WAITSPA_STATIC", QRect(8, 204, 200, 20));
    m_waiting = list(this, headers.mid(0, 2), QRect(8, 226, 284, 120));

    const auto field = [this](QRect place) {
        auto *f = new QLineEdit(this);
        f->setGeometry(place);
        f->setMaxLength(2);
        f->setAlignment(Qt::AlignRight);
        return f;
    };
    caption(this, "IDC_SPASESET_STATIC", QRect(8, 356, 120, 24));
    m_minutes = field(QRect(130, 356, 32, 24));
    caption(this, "IDC_MINUTE_STATIC", QRect(166, 356, 30, 24));
    m_seconds = field(QRect(198, 356, 32, 24));
    caption(this, "IDC_CALLSEC_STATIC", QRect(234, 356, 20, 24));
    caption(this, "IDC_CALLSET_STATIC", QRect(8, 388, 120, 24));
    m_callAhead = field(QRect(130, 388, 32, 24));
    auto *seconds = new QLabel(this);
    seconds->setGeometry(166, 388, 20, 24);
    seconds->setText(m_texts.text(QStringLiteral("IDC_CALLSEC_STATIC")));
    auto *ok = new QPushButton(this);
    ok->setObjectName(QStringLiteral("IDOK"));
    ok->setGeometry(212, 388, 80, 26);
    connect(ok, &QPushButton::clicked, this, &SpeakingTimeWindow::accept);

    SpeakingTime &time = m_controller.speakingTime();
    filterField(m_minutes, [&time](const QString &text) {
        time.setMinutesText(text);
        return time.minutesText();
    });
    filterField(m_seconds, [&time](const QString &text) {
        time.setSecondsText(text);
        return time.secondsText();
    });
    filterField(m_callAhead, [&time](const QString &text) {
        time.setCallAheadText(text);
        return time.callAheadText();
    });
    m_texts.apply(this, QStringLiteral("DlgSpeakText"));
    showFields();
    connect(&m_controller, &SpeechController::speakersChanged, this, &SpeakingTimeWindow::rebuildLists);
    rebuildLists();
}

void SpeakingTimeWindow::showAtRightEdge()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int width = screen ? screen->geometry().width() : 1024;
    move(width - frameGeometry().width(), 30);
    show();
    raise();
}

void SpeakingTimeWindow::accept()
{
    m_controller.speakingTime().accept();
    showFields();
}

void SpeakingTimeWindow::showFields()
{
    const SpeakingTime &time = m_controller.speakingTime();
    m_minutes->setText(time.minutesText());
    m_seconds->setText(time.secondsText());
    m_callAhead->setText(time.callAheadText());
}

// The newest entry on top, as the lists have always read.
void SpeakingTimeWindow::rebuildLists()
{
    const SpeakingTime &time = m_controller.speakingTime();
    m_speaking->setRowCount(0);
    for (const SpeakingTime::Speaker &speaker : time.speaking()) {
        m_speaking->insertRow(0);
        const QStringList cells = {QString::number(speaker.keypad), speaker.name,
                                   SpeakingTime::clockText(speaker.secondsLeft)};
        for (int c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            if (time.isEnding(speaker))
                item->setForeground(EndingColour);
            m_speaking->setItem(0, c, item);
        }
    }
    m_waiting->setRowCount(0);
    for (const SpeakingTime::Waiting &waiting : time.waiting()) {
        m_waiting->insertRow(0);
        m_waiting->setItem(0, 0, new QTableWidgetItem(QString::number(waiting.keypad)));
        m_waiting->setItem(0, 1, new QTableWidgetItem(waiting.name));
    }
}
