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
