// Whether a process of the host program is running: by the process list on the platform
// family that reports id 1, by the system's performance data on the one that reports id 2.
#pragma once
#include <cstddef>
#include <string>

#include "platform/host_queries.h"
#include "platform/platform.h"

// 1 when a process of the program at hostPath runs, else 0; every failure answers 0.
int IsHostRunning(HostQueries& system, const std::string& hostPath);

// 1 when a listed process's executable path equals hostPath, letter case aside; a listed
// name without a folder is taken for a file name, and compared with hostPath's.
int ScanProcessSnapshot(HostQueries& system, const std::string& hostPath);

// 1 when an instance of the performance data's process object, followed by ".exe", names
// hostPath's file, letter case aside. Every handle and buffer is released on every path.
int ScanPerformanceData(HostQueries& system, const std::string& hostPath);

// The index text of the last element equal to "process" in a counter-name table (a
// multi-string of index and name elements): the digits that end the element before it.
// Empty when there is none. Nothing outside the `size` bytes is read: an element without
// its NUL inside them ends the walk.
std::string FindCounterIndex(const unsigned char* table, std::size_t size);

// Walks the instances of the first object of a performance data block of `size` bytes and
// answers 1 when one's name plus ".exe" equals target (_mbsicmp). A field that leads outside
// the block ends the walk with 0. Only the name conversion reaches the system.
int MatchPerfInstances(const unsigned char* block, std::size_t size, const std::string& target,
                       HostQueries& system);
