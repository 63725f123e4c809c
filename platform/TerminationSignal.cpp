#include "platform/TerminationSignal.h"

#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The handler may only write to a descriptor and set a flag; the event
// loop reads the descriptor, long work polls the flag.
int g_signalPipe[2] = {-1, -1};
volatile std::sig_atomic_t g_requested = 0;

}  // namespace

TerminationSignal::TerminationSignal(QObject* parent) : QObject(parent)
{
    if (g_signalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
        return;
    m_notifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignal::Drain);
    struct sigaction action {};
    action.sa_handler = &TerminationSignal::OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

TerminationSignal::~TerminationSignal()
{
    signal(SIGTERM, SIG_DFL);
    signal(SIGINT, SIG_DFL);
}

bool TerminationSignal::Requested()
{
    return g_requested != 0;
}

void TerminationSignal::OnSignal(int number)
{
    if (g_requested) {
        // The first stop was not honoured in time: the person insists.
        std::signal(number, SIG_DFL);
        std::raise(number);
        return;
    }
    g_requested = 1;
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[0], &byte, 1);
}

void TerminationSignal::Drain()
{
    char byte = 0;
    [[maybe_unused]] const ssize_t read = ::read(g_signalPipe[1], &byte, 1);
    emit terminationRequested();
}
