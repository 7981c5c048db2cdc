#include "childconsole.h"

#include "core/link/seriallinkport.h"

std::optional<ChildConsole::Arguments> ChildConsole::parse(const QStringList &args)
{
    if (args.size() != 6)
        return std::nullopt;
    return Arguments{args.at(1), args.at(2), args.at(3), args.at(4).toInt(), args.at(5).toInt()};
}

ChildConsole::ChildConsole(const Arguments &a)
    : arguments(a), root(a.dataRoot), system(root, notifier),
      link(std::make_unique<SerialLinkPort>(PortResolver(root.path(), false)), notifier),
      conference(link, system, root, notifier, hall, TextCatalogue(a.languageFile))
{
    link.applySettings({a.keypads, 1, 1, 1});
    conference.meeting.MeeName = a.meeting;
    conference.meeting.insertdate = QStringLiteral("folder");
}

int ChildConsole::exec(const std::function<void()> &ready, const std::function<void()> &watch)
{
    link.start();
    bool started = false;
    QObject::connect(&m_watch, &QTimer::timeout, [&] {
        if (!started) {
            if (!link.sequencer().isRaised(LinkEvent::LinkReady))
                return;
            started = true;
            ready();
        }
        watch();
    });
    m_watch.start(50);
    return QCoreApplication::exec();
}

int ChildConsole::countKeypads(const std::function<bool(const KeypadEntry &)> &test) const
{
    int n = 0;
    for (int keypad = 1; keypad <= arguments.keypads; ++keypad)
        n += test(link.table().at(keypad)) ? 1 : 0;
    return n;
}
