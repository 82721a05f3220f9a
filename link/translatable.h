#pragma once
// Marks a text of the link for the program's translation catalogue, as Qt's own macro does
// (the link itself uses no Qt); whoever shows the text translates it in the given context.

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif
