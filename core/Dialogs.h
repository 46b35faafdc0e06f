#pragma once
// Every message box of the program goes through here, and from here through
// Services().AskMessage, so that tests can read and answer them.
#include <QString>

enum class MsgType { Warning, Error, Information, Confirmation };

enum MsgButton : int {
    mbOK = 1 << 0,
    mbCancel = 1 << 1,
    mbYes = 1 << 2,
    mbNo = 1 << 3,
    mbAbort = 1 << 4,
    mbRetry = 1 << 5,
    mbIgnore = 1 << 6,
};

enum ModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

struct MessageRequest {
    QString text;
    QString caption;
    MsgType type = MsgType::Information;
    int buttons = mbOK;
    int defaultAnswer = mrNone;  // the answer when nobody is there to give one
    // A box of the run itself (the macro's "Message", the pause key's
    // question): shown also in a run from the command line, where a person
    // asked for it, and closed when the run stops.
    bool runWait = false;
};

// Shows a box and answers the button pressed (a ModalResult). A box that
// nobody is there to answer (an unattended run) takes defaultAnswer, or else
// the first of OK, Yes, No, Cancel it offers.
int MessageDlg(const QString& text, MsgType type, int buttons, const QString& caption = QString(),
               int defaultAnswer = mrNone);
int DefaultAnswer(const MessageRequest& request);
// A box of the run itself (MessageRequest::runWait).
int RunMessageDlg(const QString& text, MsgType type, int buttons, const QString& caption = QString());
// The French name of an answer ("Oui", "Non"...).
QString AnswerName(int answer);
void ShowMessage(const QString& text);
