#pragma once
// Swaps one handler of the dispatcher's table for a test's lifetime.
#include "engine/Handlers.h"

class HandlerSwap {
public:
    HandlerSwap(int caseNumber, CommandHandler h) : case_(caseNumber), old_(CommandHandlers[caseNumber]) {
        CommandHandlers[caseNumber] = h;
    }
    ~HandlerSwap() { CommandHandlers[case_] = old_; }
    HandlerSwap(const HandlerSwap&) = delete;
    HandlerSwap& operator=(const HandlerSwap&) = delete;

private:
    int case_;
    CommandHandler old_;
};
