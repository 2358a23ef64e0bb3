#pragma once

#define IDI_PILOTPLAY 1
