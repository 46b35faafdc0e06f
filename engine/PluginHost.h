#pragma once
// A command plug-in's library, run in a host program of its own
// (apps/pluginhost) and called over a socket (platform/PluginChannel.h).
// The plug-in's messages are served while its calls wait, and as events
// between calls (those of its own windows). A crash, a call
// that gets no answer in time or a damaged message ends the host and comes
// back as a fault naming the plug-in; the next call starts a new host, which
// loads the library and gets its handles again.
#include "platform/PluginChannel.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <sys/types.h>

class QSocketNotifier;

// How long a call waits for its answer, by what it asks.
struct TPluginDeadlines {
    int answerMs = 5000;     // a text, a check, an answer to a message
    int runMs = 30000;       // a row being run
    int personMs = 300000;   // a new or changed row: a person fills the plug-in's window
};
TPluginDeadlines& PluginDeadlines();

class TPluginHost : public std::enable_shared_from_this<TPluginHost> {
public:
    enum class Wait { Answer, Run, Person };
    struct Reply {
        bool ok = false;
        pluginwire::Message message;  // when ok: the call's results
        QString fault;                // otherwise what went wrong, for the person; "" after a stop of the run
    };

    explicit TPluginHost(const QString& library);
    ~TPluginHost();
    TPluginHost(const TPluginHost&) = delete;
    TPluginHost& operator=(const TPluginHost&) = delete;

    // The name the faults give the plug-in (its file's until it has one).
    void setName(const QString& name) { name_ = name; }
    // Starts the host and loads the library: "" and the contract's exports
    // it has, else why it is refused (a message for the person).
    QString load(QStringList& exports);
    // The handles the library was given at load: a new host gives them again.
    void setHandles(quint64 window, quint32 module);
    // True while the host runs and hears calls: not while the plug-in runs a
    // call of ours (it hears nothing else until that returns), nor after it ended.
    bool listening() const { return channel_ && channel_->otherEndListens(); }
    // Calls a function of the library.
    Reply call(const char* function, std::vector<std::string> texts = {}, std::vector<int64_t> numbers = {},
               Wait wait = Wait::Answer);

private:
    bool start();
    bool restart(QString& fault);
    // Ends the host; how it ended ("signal 11"), which says how a crashed one did.
    QString end();
    pluginwire::Channel::Result exchange(pluginwire::Channel& channel, const pluginwire::Message& call, Wait wait,
                                         bool& stopped);
    // A message of the plug-in between calls.
    void serveBetweenCalls();
    // What to tell of a host that closed its end or sent a damaged message.
    QString ended(pluginwire::Channel::Outcome outcome, const QString& what, const QString& how) const;

    QString library_, name_;
    int socket_ = -1;
    pid_t pid_ = 0;
    // Shared with the calls waiting on it: a call nested in them may end the host.
    std::shared_ptr<pluginwire::Channel> channel_;
    std::unique_ptr<QSocketNotifier> between_;  // off while a call waits: the call reads
    quint64 window_ = 0;
    quint32 module_ = 0;
    bool stoppedByPlugin_ = false;  // the run under this call was stopped by a message of the plug-in
};

// The host program's file name, in the program folder as in an export.
inline constexpr char kPluginHostName[] = "PluginHost";
// The host program: in the program folder, else beside the program;
// ORVANEL_PLUGIN_HOST names another (tests, a build tree).
QString PluginHostProgram();
