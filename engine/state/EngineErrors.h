#pragma once

#include <stdexcept>
#include <string>

// A file the engine reads could not be opened or read, or holds a value it cannot use. The
// message is complete and names the file, and for a read the line and item; the driver writes
// it to the report and the console and ends the run with status 1.
class EEngineInputError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// An array index outside its bounds: a defect in the engine, never a silent read.
class EEngineIndexError : public std::logic_error
{
public:
    using std::logic_error::logic_error;
};
