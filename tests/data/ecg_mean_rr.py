# The annotated beats of the bundled ECG (data/ecg_mitbih100_mlii.csv): their number and the mean,
# least and greatest R-R interval in seconds, from the cardiologists' reference annotations
# (tests/data/recordings/ecg_annotations.csv, beat annotations only, samples at 360 Hz).
# numpy as printed below. Rerun: PYENV_VERSION=system python3 tests/data/ecg_mean_rr.py > tests/data/ecg_mean_rr.txt
import csv
import os

import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
ANNOTATIONS = os.path.join(HERE, "recordings", "ecg_annotations.csv")
RATE = 360.0

with open(ANNOTATIONS, newline="") as f:
    samples = [int(row["Sample"]) for row in csv.DictReader(f) if row["Beat"] == "1"]
rr = np.diff(np.array(samples)) / RATE
print(f"# numpy {np.__version__}; tests/data/recordings/ecg_annotations.csv; tolerance one sample (1/360 s)")
print("beats mean_rr_s min_rr_s max_rr_s")
print(f"{len(samples)} {rr.mean():.9f} {rr.min():.9f} {rr.max():.9f}")
