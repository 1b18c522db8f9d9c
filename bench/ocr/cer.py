"""Character error rate with white space ignored."""

import re

_SPACE = re.compile(r"\s+")


def squeeze(text):
    return _SPACE.sub("", text)


def distance(a, b):
    """Levenshtein distance between two strings."""
    if len(a) < len(b):
        a, b = b, a
    previous = list(range(len(b) + 1))
    for i, ca in enumerate(a, 1):
        current = [i]
        for j, cb in enumerate(b, 1):
            current.append(min(previous[j] + 1, current[j - 1] + 1,
                               previous[j - 1] + (ca != cb)))
        previous = current
    return previous[-1]


def errors(reference, hypothesis):
    """(edit distance, reference length) with white space removed from both."""
    ref, hyp = squeeze(reference), squeeze(hypothesis)
    return distance(ref, hyp), len(ref)
