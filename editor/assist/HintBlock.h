#pragma once

// The completion list while typing, and the cut and copy button states.
class HintBlock {};
