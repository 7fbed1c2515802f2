"""GoogleTest cases as ctest tests, for a test program that runs under an emulator (Wine): the program runs
once and writes its results, and each case is a test that reports its own result from them, so that a
skipped case counts as skipped. Usage:
  gtest_cases.py list LIST COMMAND...      the cases COMMAND --gtest_list_tests names, one a line, into LIST
  gtest_cases.py run RESULTS AS COMMAND... COMMAND --gtest_output=json:AS, AS being RESULTS as the program
                                           names it; fails only where no results were written
  gtest_cases.py report RESULTS CASE       passes, fails or prints "[  SKIPPED ]" as CASE did"""

import json
import os
import subprocess
import sys


def list_cases(listing, command):
    # Windows programs end their lines with CR LF; text mode reads either.
    output = subprocess.run(command + ["--gtest_list_tests"], stdout=subprocess.PIPE, text=True,
                            timeout=300, check=True).stdout
    cases = []
    suite = None
    for line in output.splitlines():
        name = line.split("  #")[0].rstrip()
        if not name or name.startswith("Running main()"):
            continue
        if line.startswith("  "):
            cases.append(f"{suite}.{name.strip()}")
        else:
            suite = name.rstrip(".")
    with open(listing, "w", encoding="utf-8") as file:
        file.write("".join(case + "\n" for case in cases))


def run(results, name, command):
    if os.path.exists(results):
        os.remove(results)
    status = subprocess.run(command + [f"--gtest_output=json:{name}"]).returncode
    if not os.path.exists(results):
        print(f"the test program wrote no results (exit status {status})")
        sys.exit(1)


def report(results, case):
    try:
        with open(results, encoding="utf-8") as file:
            suites = json.load(file)["testsuites"]
    except (OSError, ValueError) as error:
        print(f"no results to read: {error}")
        sys.exit(1)
    for suite in suites:
        for test in suite["testsuite"]:
            if f"{suite['name']}.{test['name']}" != case:
                continue
            failures = test.get("failures", [])
            for failure in failures:
                print(failure["failure"])
            if failures:
                sys.exit(1)
            if test.get("result") == "SKIPPED":
                print(f"[  SKIPPED ] {case}")
                for skip in test.get("skipped", []):
                    print(skip.get("message", ""))
            return
    print(f"{case} did not run")
    sys.exit(1)


if __name__ == "__main__":
    action, path, rest = sys.argv[1], sys.argv[2], sys.argv[3:]
    if action == "list":
        list_cases(path, rest)
    elif action == "run":
        run(path, rest[0], rest[1:])
    else:
        report(path, rest[0])
