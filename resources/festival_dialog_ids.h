// Control identifiers of the festival manager (132), the festival editor (133) and the six date pages of the editor (134-139).
#pragma once
