// A plug-in for the tests: it logs every call Orvanel makes and every answer
// it gets, and its rows send the messages their parameters name, or crash,
// or hang; its check crashes on a row that says "plante". Built as
// "Sonde.so"; as "SondeIncomplete.so" without two of its exports; as
// "SondeImage.so" with the picture SONDE_IMAGE names ("texte": texts that are
// no picture, "adresse": no data at all); as "SondeVersion.so" built for
// another version of the plug-ins. Its name and category come from SONDE_NOM
// and SONDE_RUBRIQUE at load.
#include "plugins/OrvanelPlugin.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

uint64_t window = 0;
uint32_t module = 0;
std::string log;               // one line per call or answer
std::string next = "a;b;";     // what NewOrdre and ChangeOrdre give
bool cancel = false;           // they cancel first (query 0)
bool labelSent = false;        // "labelonce" sends only once
std::string name, rubrique, returned;

void add(const std::string& line) { log += line + "\n"; }

const char* env(const char* variable, const char* otherwise, std::string& keep) {
    const char* v = std::getenv(variable);
    keep = v && *v ? v : otherwise;
    return keep.c_str();
}

intptr_t send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return OrvanelSendMessage(window, message, wParam, lParam);
}

const char* edited() {
    if (cancel) send(ORVANEL_QUERY, module, 0);
    return next.c_str();
}

// "send M L", "post NAME VALUE", "label TEXT", "labelonce TEXT", "error CODE TEXT", "throw TEXT", "stop [MS]",
// "crash", "hang".
void act(const std::string& params) {
    std::istringstream in(params);
    std::string verb;
    in >> verb;
    std::string rest;
    std::getline(in >> std::ws, rest);
    if (verb == "send") {
        long message = 0, lParam = 0;
        std::istringstream(rest) >> message >> lParam;
        send(uint32_t(message), module, lParam);
    } else if (verb == "post") {  // "post NAME VALUE": the variable's value, posted; the texts die here
        const auto space = rest.find(' ');
        const std::string variable = rest.substr(0, space), value = rest.substr(space + 1);
        OrvanelPostMessage(window, ORVANEL_SETVAR, uintptr_t(variable.c_str()), intptr_t(value.c_str()));
    } else if (verb == "label" || (verb == "labelonce" && !labelSent)) {
        labelSent = true;
        send(ORVANEL_QUERY, OrvanelGlobalAddAtom(rest.c_str()), 35);
    } else if (verb == "error") {
        const auto space = rest.find(' ');
        send(ORVANEL_ERROR, uintptr_t(std::atol(rest.substr(0, space).c_str())),
             intptr_t(rest.substr(space + 1).c_str()));
    } else if (verb == "throw") {
        throw std::runtime_error(rest);
    } else if (verb == "stop") {  // "stop [MS]": then MS milliseconds more in the row
        send(ORVANEL_STOP, 0, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atol(rest.c_str())));
    } else if (verb == "crash") {
        *static_cast<volatile int*>(nullptr) = 1;
    } else if (verb == "hang") {
        for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
    }
}

}  // namespace

extern "C" {

#ifdef SONDE_OTHER_VERSION
int32_t OrvanelPluginVersion(void) { return ORVANEL_PLUGIN_VERSION + 1; }
#else
ORVANEL_PLUGIN_EXPORT_VERSION
#endif

void ReceiveHandleApp(uint64_t w) {
    window = w;
    add("ReceiveHandleApp");
}
void ReceiveHandleLibrary(uint32_t m) {
    module = m;
    add("ReceiveHandleLibrary");
}
const char* GetInfoName(void) { return env("SONDE_NOM", "Sonde", name); }
const char* GetInfoRubrique(void) { return env("SONDE_RUBRIQUE", "Standard", rubrique); }
const char* GetInfoHint(void) { return "Sonde des tests"; }
const char* GetInfoDescription(void) { return "Sonde.txt"; }
#ifdef SONDE_IMAGE
const char* const* GetInfoIcon(void) {
    static const char* const texts[] = {"ceci n'est pas une image", "ni ceci", nullptr};
    const char* wanted = std::getenv("SONDE_IMAGE");
    if (wanted && std::strcmp(wanted, "adresse") == 0) return reinterpret_cast<const char* const*>(8);
    return texts;
}
#else
const char* const* GetInfoIcon(void) { return nullptr; }
#endif

#ifndef SONDE_INCOMPLETE
void GetInfoFromOrvanel(const char* key, const char* text, int32_t value, int32_t valid) {
    add(std::string("answer ") + key + "|" + text + "|" + std::to_string(value) + "|" + std::to_string(valid));
}
void ExecuteOrder(const char* params) {
    add(std::string("ExecuteOrder ") + params);
    act(params);
}
#endif

void GetListOrder(const char* keyword, const char* params, int32_t found) {
    add(std::string("row ") + keyword + "|" + params + "|" + std::to_string(found));
}
int32_t Debug(const char* params) {
    if (std::strstr(params, "plante")) *static_cast<volatile int*>(nullptr) = 1;
    return std::strstr(params, "faux") ? 0 : 1;
}
const char* MsgDebug(const char* params) { return std::strstr(params, "msg") ? "message de la sonde" : ""; }
const char* NewOrdre(void) {
    add("NewOrdre");
    return edited();
}
const char* ChangeOrdre(const char* params) {
    add(std::string("ChangeOrdre ") + params);
    return edited();
}
void StopOrder(void) { add("StopOrder"); }

// For the tests only, called through the host as the library's own functions.
const char* SondeLog(const char*, int32_t) {
    returned = log;
    return returned.c_str();
}
const char* SondeReset(const char* nextParams, int32_t cancelFirst) {
    log.clear();
    next = nextParams;
    cancel = cancelFirst != 0;
    labelSent = false;
    return "";
}

}  // extern "C"
