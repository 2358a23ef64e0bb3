#pragma once

#define IDI_PILOTSTOP 1
