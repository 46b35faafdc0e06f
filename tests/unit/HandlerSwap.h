#pragma once
// Swaps one handler of the runner's table for a test's lifetime.
#include "engine/Runner.h"

class HandlerSwap {
public:
    HandlerSwap(int caseNumber, CommandHandler h) : case_(caseNumber), old_(Runner->handlers[caseNumber]) {
        Runner->handlers[caseNumber] = h;
    }
    ~HandlerSwap() {
        if (Runner) Runner->handlers[case_] = old_;
    }
    HandlerSwap(const HandlerSwap&) = delete;
    HandlerSwap& operator=(const HandlerSwap&) = delete;

private:
    int case_;
    CommandHandler old_;
};

// Runs one command through the runner's dispatcher, alone in a document of
// its own, outside the run loop: a failure is answered as in a run.
inline void RunRow(const QString& keyword, const QString& params) {
    TMacroDocument alone;
    alone.add({keyword, params});
    int index = 0;
    TActiveOrder active(1, true);
    Runner->Execute_commande(&alone, index, active);
}
