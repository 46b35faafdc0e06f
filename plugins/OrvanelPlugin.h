/* Writing a command plug-in for Orvanel.
 *
 * A plug-in is a shared library (".so") that adds one command. Orvanel loads
 * the libraries listed in the section [DynOrder] of its settings file (key
 * "1", "2"..., value the library's path: as given, else beside the program,
 * else in its folder "Plugins"). It gives the command a palette button on a
 * tab named after the plug-in's category, lets the plug-in create, edit and
 * check the command's parameter string, and runs the command's rows through
 * ExecuteOrder.
 *
 * The library exports the fifteen functions declared below with C linkage
 * (all of them: a library missing one is refused), and the version of this
 * interface it was built for: write ORVANEL_PLUGIN_EXPORT_VERSION once in one
 * of its source files. A library of another version is refused. Strings are
 * UTF-8 and zero-terminated; a string a plug-in returns stays its own and
 * must stay valid until its next call. Everything runs on one thread.
 *
 * Each library runs in a host program of its own (PluginHost, beside
 * Orvanel), which calls it and passes its messages to Orvanel and back: a
 * plug-in that crashes or stops answering is stopped and named in a run-time
 * error, and Orvanel goes on. Messages carry texts only where the table below
 * says so; other parameters are numbers.
 *
 * While it runs, a plug-in talks to Orvanel with OrvanelSendMessage to the
 * window handle it received in ReceiveHandleApp, passing its module handle
 * (from ReceiveHandleLibrary) as wParam where the table below says so.
 * Orvanel answers queries by calling the plug-in's GetInfoFromOrvanel (or
 * GetListOrder) before OrvanelSendMessage returns.
 *
 *   message                wParam            lParam               effect
 *   ORVANEL_QUERY 2258     module handle     query code           answer or action (codes below)
 *   ORVANEL_STOP 2259      0                 0                    stops the run
 *   ORVANEL_SUBMACRO 2260  module handle     row (from 1)         GetListOrder(keyword, params, 1), or ("", "", 0)
 *   ORVANEL_POSORDER 2261  module handle     0, or row (from 1)   0: answers "Pos Order"; n: the run goes on at row n
 *   ORVANEL_GETVAR 2262    module handle     const char* name     answers "GET_VAR_VALUE" with the variable's value
 *   ORVANEL_SETVAR 2263    const char* name  const char* value    writes the variable
 *   ORVANEL_ERROR 2264     error code        const char* text     codes 0..4: run-time error (0: as [ERROR.ADAPTATOR]
 *                                                                 says, 1 stop, 2 retry?, 3 go on?); 5 and more:
 *                                                                 a green report line, [ERROR] := text, the run goes on
 *   ORVANEL_ADDCOMMAND 2265 module handle    const char* params   adds a row of the plug-in's command
 *
 * Query codes (ORVANEL_QUERY), answered as GetInfoFromOrvanel(key, text,
 * value, valid) with valid 0 when there is no answer:
 *   0  no answer: cancels the NewOrdre or ChangeOrdre call in progress
 *   1  "Macro filename" (text)        2  "Filename plugin": the command's name
 *   3  "Filename config" (text)       4  "Char of separation": the parameter separator
 *   5  "Count Order": rows of the list being run
 *   6, 7  "Handle BackGround", "GetFont": no such handles on this desktop (valid 0)
 *   8  "GetFont": the main window's text colour, 0x00BBGGRR
 *   9  "OrvanelHandle": the main window's handle    10  "LibraryHandle": your module handle
 *   11..30  "Array param": field (code - 10) of the row being run (or being edited)
 *   31 "ContextOfExecute": 0 idle, 1 running, 2 step, 3 paused, 4 breakpoint, 5 step running
 *   32, 33, 34, 36  no answer: Run, Pause, Stop, New macro
 *   35 no answer: run from a label; wParam is an atom (OrvanelGlobalAddAtom) naming
 *      the label's parameter string
 *   1000 (or 2000) "Variable count", 1001.. "Variable name", 2001.. "Variable type",
 *   3000 "Objet count", 3001.. "Objet name"
 */
#ifndef ORVANEL_PLUGIN_H
#define ORVANEL_PLUGIN_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The version of this interface. */
#define ORVANEL_PLUGIN_VERSION 2

enum {
    ORVANEL_QUERY = 2258,
    ORVANEL_STOP = 2259,
    ORVANEL_SUBMACRO = 2260,
    ORVANEL_POSORDER = 2261,
    ORVANEL_GETVAR = 2262,
    ORVANEL_SETVAR = 2263,
    ORVANEL_ERROR = 2264,
    ORVANEL_ADDCOMMAND = 2265,
};

/* ---- Given by Orvanel to the libraries it loads ---- */

/* Sends a message to a window; the answer of its handler. */
intptr_t OrvanelSendMessage(uint64_t window, uint32_t message, uintptr_t wParam, intptr_t lParam);
/* Queues a message for a window, its texts copied; 0 when it could not be queued. */
int32_t OrvanelPostMessage(uint64_t window, uint32_t message, uintptr_t wParam, intptr_t lParam);
/* The desktop's number for a name (for query 35); 0 for an empty name. */
uint32_t OrvanelGlobalAddAtom(const char* name);

/* ---- Exported by every plug-in ---- */

/* The interface version the library was built for: ORVANEL_PLUGIN_VERSION. */
int32_t OrvanelPluginVersion(void);
#define ORVANEL_PLUGIN_EXPORT_VERSION \
    int32_t OrvanelPluginVersion(void) { return ORVANEL_PLUGIN_VERSION; }

/* Once, at load: Orvanel's main window, then the library's own module handle. */
void ReceiveHandleApp(uint64_t window);
void ReceiveHandleLibrary(uint32_t module);
/* At load: the command's keyword (1 to 20 characters, none of Orvanel's
 * own), its category (the palette tab), the hint of its palette button, its
 * description (a text, or the name of a file beside the library) and its
 * picture as XPM data (NULL: Orvanel's plug-in picture; data that is no
 * picture is said once and replaced by that picture too). */
const char* GetInfoName(void);
const char* GetInfoRubrique(void);
const char* GetInfoHint(void);
const char* GetInfoDescription(void);
const char* const* GetInfoIcon(void);
/* Answers of ORVANEL_QUERY, ORVANEL_POSORDER and ORVANEL_GETVAR. */
void GetInfoFromOrvanel(const char* key, const char* text, int32_t value, int32_t valid);
/* Answer of ORVANEL_SUBMACRO. */
void GetListOrder(const char* keyword, const char* params, int32_t found);
/* The macro checker: whether a row's parameter string is right (nonzero),
 * and its message ("" for none; a warning when Debug said right). */
int32_t Debug(const char* params);
const char* MsgDebug(const char* params);
/* The palette button: the parameter string of a new row. */
const char* NewOrdre(void);
/* Runs one row. */
void ExecuteOrder(const char* params);
/* The run stopped. */
void StopOrder(void);
/* The user edits a row: its new parameter string. */
const char* ChangeOrdre(const char* params);

#ifdef __cplusplus
}
#endif

#endif /* ORVANEL_PLUGIN_H */
