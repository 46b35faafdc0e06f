// A plug-in for the tests: it logs every call Orvanel makes and every answer
// it gets, and its rows send the messages their parameters name. Built as
// "Sonde.so", and as "SondeIncomplete.so" without two of its exports.
// Its name and category come from SONDE_NOM and SONDE_RUBRIQUE at load.
#include "plugins/OrvanelPlugin.h"

#include <cstdlib>
#include <cstring>
#include <sstream>
#include <stdexcept>
#include <string>

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

// "send M L", "label TEXT", "labelonce TEXT", "error CODE TEXT", "throw TEXT", "stop".
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
    } else if (verb == "label" || (verb == "labelonce" && !labelSent)) {
        labelSent = true;
        send(ORVANEL_QUERY, OrvanelGlobalAddAtom(rest.c_str()), 35);
    } else if (verb == "error") {
        const auto space = rest.find(' ');
        send(ORVANEL_ERROR, uintptr_t(std::atol(rest.substr(0, space).c_str())),
             intptr_t(rest.substr(space + 1).c_str()));
    } else if (verb == "throw") {
        throw std::runtime_error(rest);
    } else if (verb == "stop") {
        send(ORVANEL_STOP, 0, 0);
    }
}

}  // namespace

extern "C" {

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
const char* const* GetInfoIcon(void) { return nullptr; }

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
int32_t Debug(const char* params) { return std::strstr(params, "faux") ? 0 : 1; }
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

// For the tests only.
const char* SondeLog(void) {
    returned = log;
    return returned.c_str();
}
void SondeReset(const char* nextParams, int32_t cancelFirst) {
    log.clear();
    next = nextParams;
    cancel = cancelFirst != 0;
    labelSent = false;
}

}  // extern "C"
