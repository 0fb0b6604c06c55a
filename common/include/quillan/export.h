#pragma once

#if defined(QUILLAN_BUILDING)
#define QUILLAN_EXPORT __attribute__((visibility("default")))
#else
#define QUILLAN_EXPORT
#endif
