// The program's fixed resource numbers.
#pragma once

#define IDI_TARNWICK_NAME "Tarnwick"
