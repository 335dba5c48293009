// Control identifiers of the memo manager (141) and the memo editor (142).
#pragma once
