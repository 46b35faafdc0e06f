// The host program of one command plug-in. Orvanel starts one per plug-in
// with a socket as descriptor 3; the host loads the library when asked, calls
// its exports for Orvanel and passes its messages back, so that a plug-in
// that crashes or stops answering takes only this program down. Plug-ins
// may open windows of their own: the host is a Qt application for them.
#include "platform/PluginChannel.h"
#include "plugins/OrvanelPlugin.h"

#include <QApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <stdexcept>

#include <dlfcn.h>

using pluginwire::Kind;
using pluginwire::Message;

namespace {

constexpr int kSocket = 3;
// Pictures bigger than this are no plug-in's button picture.
constexpr int kMaxIconSide = 1024;
constexpr int kMaxIconColours = 65536;

void* library = nullptr;
pluginwire::Channel* orvanel = nullptr;

// An export by name, with the type the contract gives it.
template <class Function>
Function need(const char* name) {
    auto f = reinterpret_cast<Function>(library ? dlsym(library, name) : nullptr);
    if (!f) throw std::runtime_error(std::string(name) + " no found.");
    return f;
}
#define EXPORT(name) need<decltype(&::name)>(#name)

std::string str(const char* s) { return s ? s : ""; }

Message returns(std::vector<std::string> texts = {}, std::vector<int64_t> numbers = {}) {
    return {Kind::Return, {}, std::move(texts), std::move(numbers)};
}

// Qt's events between slices of waiting: the plug-in's windows stay alive.
bool pump() {
    QCoreApplication::processEvents();
    return true;
}

// What Orvanel may call, by name: the library's load and the exports of the contract.
using Handler = Message (*)(const Message&);
const std::map<std::string, Handler>& handlers();

// The library, once its interface version is ours: 0 and the exports it has;
// 1 and the loader's reason; 2, its version (0 for none) and ours.
Message load(const Message& c) {
    library = dlopen(c.text(0).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) return returns({str(dlerror())}, {1});
    const auto version = reinterpret_cast<decltype(&OrvanelPluginVersion)>(dlsym(library, "OrvanelPluginVersion"));
    const int32_t theirs = version ? version() : 0;
    if (theirs != ORVANEL_PLUGIN_VERSION) return returns({}, {2, theirs, ORVANEL_PLUGIN_VERSION});
    std::vector<std::string> present;  // the exports of the contract the library has
    for (const auto& [name, handler] : handlers())
        if (name != "Load" && dlsym(library, name.c_str())) present.push_back(name);
    return returns(std::move(present), {0});
}

// The lines of the XPM picture: 0 for none, 1 and the lines, 2 when it is no
// XPM picture. Only as many lines as its first line announces are read.
Message icon(const Message&) {
    const char* const* xpm = EXPORT(GetInfoIcon)();
    if (!xpm) return returns({}, {0});
    int width = 0, height = 0, colours = 0, perPixel = 0;
    if (!xpm[0] || std::sscanf(xpm[0], "%d %d %d %d", &width, &height, &colours, &perPixel) != 4 || width < 1 ||
        height < 1 || width > kMaxIconSide || height > kMaxIconSide || colours < 1 || colours > kMaxIconColours ||
        perPixel < 1 || perPixel > 4)
        return returns({}, {2});
    std::vector<std::string> lines;
    for (int i = 0; i < 1 + colours + height; ++i) {
        if (!xpm[i]) return returns({}, {2});
        lines.emplace_back(xpm[i], strnlen(xpm[i], size_t(kMaxIconSide) * 4 + 64));
    }
    return returns(std::move(lines), {1});
}

const std::map<std::string, Handler>& handlers() {
    static const std::map<std::string, Handler> h = {
        {"Load", load},
        {"ReceiveHandleApp", [](const Message& c) { EXPORT(ReceiveHandleApp)(uint64_t(c.number(0))); return returns(); }},
        {"ReceiveHandleLibrary",
         [](const Message& c) { EXPORT(ReceiveHandleLibrary)(uint32_t(c.number(0))); return returns(); }},
        {"GetInfoName", [](const Message&) { return returns({str(EXPORT(GetInfoName)())}); }},
        {"GetInfoRubrique", [](const Message&) { return returns({str(EXPORT(GetInfoRubrique)())}); }},
        {"GetInfoHint", [](const Message&) { return returns({str(EXPORT(GetInfoHint)())}); }},
        {"GetInfoDescription", [](const Message&) { return returns({str(EXPORT(GetInfoDescription)())}); }},
        {"GetInfoIcon", icon},
        {"GetInfoFromOrvanel",
         [](const Message& c) {
             EXPORT(GetInfoFromOrvanel)(c.text(0).c_str(), c.text(1).c_str(), int32_t(c.number(0)), int32_t(c.number(1)));
             return returns();
         }},
        {"GetListOrder",
         [](const Message& c) {
             EXPORT(GetListOrder)(c.text(0).c_str(), c.text(1).c_str(), int32_t(c.number(0)));
             return returns();
         }},
        {"Debug", [](const Message& c) { return returns({}, {EXPORT(Debug)(c.text(0).c_str())}); }},
        {"MsgDebug", [](const Message& c) { return returns({str(EXPORT(MsgDebug)(c.text(0).c_str()))}); }},
        {"NewOrdre", [](const Message&) { return returns({str(EXPORT(NewOrdre)())}); }},
        {"ExecuteOrder", [](const Message& c) { EXPORT(ExecuteOrder)(c.text(0).c_str()); return returns(); }},
        {"StopOrder", [](const Message&) { EXPORT(StopOrder)(); return returns(); }},
        {"ChangeOrdre", [](const Message& c) { return returns({str(EXPORT(ChangeOrdre)(c.text(0).c_str()))}); }},
    };
    return h;
}

// Any other name: a function of the library's own, const char* f(const char*,
// int32_t) (the tests' probes read their logs that way).
Message own(const Message& c) {
    using Function = const char* (*)(const char*, int32_t);
    return returns({str(need<Function>(c.name.c_str())(c.text(0).c_str(), int32_t(c.number(0))))});
}

Message serve(const Message& c) {
    try {
        const auto h = handlers().find(c.name);
        return h != handlers().end() ? h->second(c) : own(c);
    } catch (const std::exception& failure) {
        return {Kind::Failure, failure.what(), {}, {}};
    } catch (...) {
        return {Kind::Failure, {}, {}, {}};
    }
}

// A call to Orvanel; without Orvanel there is nothing left to do.
Message ask(Message call) {
    const pluginwire::Channel::Result r = orvanel->call(call, pump);
    if (r.outcome != pluginwire::Channel::Outcome::Answered) std::_Exit(0);
    return r.message;
}

// The parameters that carry texts, per message.
bool wParamIsText(uint32_t message) { return message == ORVANEL_SETVAR; }
bool lParamIsText(uint32_t message) {
    return message == ORVANEL_SETVAR || message == ORVANEL_GETVAR || message == ORVANEL_ERROR ||
           message == ORVANEL_ADDCOMMAND;
}

// A message's parameters as numbers and, for texts, a flag and the text.
Message messageCall(const char* name, uint64_t window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    const bool wText = wParamIsText(message) && wParam, lText = lParamIsText(message) && lParam;
    return {Kind::Call,
            name,
            {wText ? str(reinterpret_cast<const char*>(wParam)) : "", lText ? str(reinterpret_cast<const char*>(lParam)) : ""},
            {int64_t(window), message, wText ? 0 : int64_t(wParam), lText ? 0 : int64_t(lParam), wText, lText}};
}

}  // namespace

// What the plug-ins call (plugins/OrvanelPlugin.h); this program's link exports them.
extern "C" {

__attribute__((visibility("default"))) intptr_t OrvanelSendMessage(uint64_t window, uint32_t message,
                                                                   uintptr_t wParam, intptr_t lParam) {
    return intptr_t(ask(messageCall("SendMessage", window, message, wParam, lParam)).number(0));
}

__attribute__((visibility("default"))) int32_t OrvanelPostMessage(uint64_t window, uint32_t message,
                                                                  uintptr_t wParam, intptr_t lParam) {
    return int32_t(ask(messageCall("PostMessage", window, message, wParam, lParam)).number(0));
}

__attribute__((visibility("default"))) uint32_t OrvanelGlobalAddAtom(const char* name) {
    return name ? uint32_t(ask({Kind::Call, "GlobalAddAtom", {name}, {}}).number(0)) : 0;
}

}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    pluginwire::Channel channel(kSocket, serve);
    orvanel = &channel;
    // Orvanel's calls come as events of the loop the plug-in's windows live
    // in: nothing wakes the program between them.
    QSocketNotifier calls(kSocket, QSocketNotifier::Read);
    QObject::connect(&calls, &QSocketNotifier::activated, [&] {
        calls.setEnabled(false);  // the calls nested in one are read by its waits
        if (channel.serve([] { return false; }) != pluginwire::Channel::Outcome::GaveUp) QCoreApplication::exit();
        calls.setEnabled(true);
    });
    QApplication::exec();
    // The plug-in's own clean-up at exit is no concern of Orvanel's.
    std::fflush(nullptr);
    std::_Exit(0);
}
