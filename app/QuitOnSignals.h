#pragma once

#include <QObject>
#include <csignal>

class QSocketNotifier;

// Turns the signals by which a session ends into a clean quit of the editor: SIGTERM (logging
// out, shutting down, `kill`) and SIGHUP (its terminal closed). Every window then closes as the
// user would close it, so an address book changed in an open archive is saved as its window
// closes. The signal only writes a byte to a pipe; the quit comes from the event loop that reads
// it. A second such signal, while the windows are still closing, ends the program at once.
class QuitOnSignals : public QObject {
    Q_OBJECT
public:
    explicit QuitOnSignals(QObject* parent = nullptr);
    // Gives the signals back to what they did before.
    ~QuitOnSignals() override;

private:
    void OnSignal();
    void RestoreSignals();

    QSocketNotifier* m_pNotifier = nullptr;
    struct sigaction m_previous[2] = {};
    bool m_bInstalled = false;
};
