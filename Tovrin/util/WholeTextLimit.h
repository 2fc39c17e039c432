#pragma once

// Text files that Tovrin holds whole in memory stop at this size, so that a broken or hostile
// file of gigabytes can neither exhaust memory nor throw: a message file is read up to it, and
// a profile larger than it gives no section (the platform would read the whole file).
const int kWholeTextLimit = 4 * 1024 * 1024;
