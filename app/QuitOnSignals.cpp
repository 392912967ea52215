#include "app/QuitOnSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <iterator>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP};

// The pipe from the signal handler to the event loop: [0] is read, [1] written.
int g_pipe[2] = {-1, -1};

void WriteToPipe(int) {
    const int saved = errno;  // the handler may interrupt a call whose errno is still to be read
    const char byte = 1;
    (void)!write(g_pipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

QuitOnSignals::QuitOnSignals(QObject* parent) : QObject(parent) {
    if (g_pipe[0] >= 0 || pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;  // one at a time; without a pipe the signals keep what they do
    }
    m_pNotifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, &QuitOnSignals::OnSignal);
    struct sigaction action = {};
    action.sa_handler = WriteToPipe;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], &action, &m_previous[i]);
    }
    m_bInstalled = true;
}

QuitOnSignals::~QuitOnSignals() {
    if (!m_bInstalled) {
        return;
    }
    RestoreSignals();
    delete m_pNotifier;
    close(g_pipe[0]);
    close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void QuitOnSignals::RestoreSignals() {
    for (size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], &m_previous[i], nullptr);
    }
}

void QuitOnSignals::OnSignal() {
    char bytes[16];
    while (read(g_pipe[0], bytes, sizeof bytes) > 0) {
    }
    // Should closing hang (a question nobody answers), the next signal ends the program.
    RestoreSignals();
    QCoreApplication::quit();
}
