// The worker threads that rendering and saving share out their work among: one
// thread per core (the calling thread being one of them), started the first time
// they are needed and kept for the rest of the run.
//
// The work is split so that its result never depends on the number of threads or
// on which thread did which part: every part writes only its own records or its own
// buffer.
#pragma once

#include <cstddef>
#include <functional>

// The number of threads work is spread over (the calling thread included): the
// value of the environment variable MORVANE_THREADS when it is a number from 1 to
// 64, otherwise the number of cores; at least 1.
int WORKERS_GetCount();
// Sets the number for the rest of the run (tests, benchmarks); 0 goes back to the
// environment variable or the number of cores.
void WORKERS_SetCount(int count);

// Whether the calling thread is running a part of a worker job (the calling thread
// of WORKERS_ParallelFor or WORKERS_Pipeline included, while the call runs).
bool WORKERS_InJob();

// Calls body (begin, end, worker) for consecutive pieces of 'grain' indices that
// together cover 0..count-1, on up to WORKERS_GetCount threads, and returns when
// all are done. 'worker' tells the thread: 0 for the calling thread, 1.. for the
// others, so that a part can use scratch data of its own for each. A call made
// while another one runs (from a body, or from a second thread) runs on its
// calling thread alone.
void WORKERS_ParallelFor(size_t count, size_t grain, const std::function<void(size_t, size_t, int)>& body);

// Produces items 0..count-1 on all threads (produce (index, worker)) and consumes
// them on the calling thread in ascending order (consume (index)) as soon as each
// is ready; at most 'window' items are produced ahead of the one consumed next, so
// the memory they hold stays bounded.
void WORKERS_Pipeline(size_t count, size_t window, const std::function<void(size_t, int)>& produce,
                      const std::function<void(size_t)>& consume);
