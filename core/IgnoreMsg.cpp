#include "core/IgnoreMsg.h"

QVector<TIgnoreMsg> TTabIgnoreMsg;

void ClearIgnoreMsg() { TTabIgnoreMsg.clear(); }
