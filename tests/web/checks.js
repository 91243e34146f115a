// What the page's tests share: a check that prints as it goes, a pause, and
// an exit status that says whether every check passed.
'use strict';
let failures = 0;

function check(ok, what) {
  console.log((ok ? 'ok   ' : 'FAIL ') + what);
  if (!ok) failures++;
}

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// Ends the run: status 1 when a check failed.
function finish() {
  if (failures) {
    console.log(`${failures} check(s) failed`);
    process.exit(1);
  }
}

// Runs an async test to its end; an exception fails it too.
function run(main) {
  main().then(finish, (e) => {
    console.error(e);
    process.exit(1);
  });
}

module.exports = { check, sleep, finish, run };
