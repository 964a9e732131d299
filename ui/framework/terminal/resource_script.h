// res/zandry.rc and res/resource.h, compiled into the native build as data, so that its
// dialog manager builds each window from the same template as Windows does.
#pragma once

extern const char kResourceScript[];
extern const char kResourceHeader[];
