#pragma once
#include <QObject>

#include <csignal>
#include <functional>
#include <initializer_list>
#include <vector>

class QSocketNotifier;

// Turns the stop signals (SIGINT, SIGTERM, SIGHUP by default) into an event
// of the user-interface thread: the handler only writes the signal number
// to a pipe, and the reaction runs later from the event loop, where quitting
// and restoring the display are safe. One instance at a time.
class InterceptionSignaux : public QObject {
public:
    using Reaction = std::function<void(int signal)>;

    explicit InterceptionSignaux(Reaction reaction,
                                 std::initializer_list<int> signaux = {SIGINT, SIGTERM, SIGHUP});
    // Holds the stop signals back until an interception takes them, so that
    // one sent while the program starts is answered, not lost or fatal. To
    // be called before any thread starts: threads keep the mask they start
    // with, and the signals then reach only the thread that intercepts them.
    static void retenir(std::initializer_list<int> signaux = {SIGINT, SIGTERM, SIGHUP});
    // Gives the signals their default dispositions back.
    ~InterceptionSignaux() override;

private:
    void lire();
    Reaction reaction_;
    QSocketNotifier* notificateur_ = nullptr;
    std::vector<int> signaux_;
    int lecture_ = -1;
};
