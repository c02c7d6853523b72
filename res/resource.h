// Resource identifiers shared by the resource script and the code.
#pragma once

#define IDI_HARFPAD 101
