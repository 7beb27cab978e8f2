#pragma once
// The run counter in the volatile registry key: 0 on a first start (or when the registry
// cannot be used), else the count after this start.
int CountStarts();
