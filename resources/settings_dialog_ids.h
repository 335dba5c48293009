// Control identifiers of the settings dialog (131).
#pragma once
