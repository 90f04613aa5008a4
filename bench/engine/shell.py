import os
import re
import subprocess

total = 0
for i in range(300):
    total += subprocess.call("exit 1", shell=True)
for i in range(300):
    total += len(subprocess.run("echo hello", shell=True, capture_output=True, text=True).stdout)
os.environ["BENCH_X"] = "abc"
name = re.compile(r"%([^%]+)%")
for i in range(100000):
    s = name.sub(lambda m: os.environ.get(m.group(1), m.group(0)), "%BENCH_X%/%BENCH_X%")
    total += len(s) + len(os.environ["BENCH_X"])
print(total)
